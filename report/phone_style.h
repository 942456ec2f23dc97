#pragma once

#include <string_view>

namespace scorvale::phone {

// The members' page's style sheet. No text is set below 14px; everything
// wider than a phone scrolls inside its own box; tap targets are 44px high.
inline constexpr std::string_view kStyle = R"css(
:root{--ink:#1c2330;--mute:#566072;--line:#d5dbe6;--bg:#f2f4f9;--card:#fff;--acc:#1c5bb8;--up:#0f7a38;--down:#b3261e;--gold:#f6e7a8}
*{box-sizing:border-box}
html{-webkit-text-size-adjust:100%;text-size-adjust:100%}
body{margin:0;background:var(--bg);color:var(--ink);font:16px/1.5 system-ui,-apple-system,"Hiragino Sans","Noto Sans JP","IPAPGothic",sans-serif;overflow-wrap:anywhere}
header,main,footer{max-width:960px;margin:0 auto;padding:0 12px}
header{padding-top:12px}
img{max-width:100%;height:auto}
h1{font-size:24px;line-height:1.3;margin:8px 0}
h2{font-size:20px;margin:28px 0 8px}
h3{font-size:18px;margin:20px 0 8px}
h2 img{height:1.4em;width:auto;vertical-align:middle}
.fixed{display:inline-block;background:var(--gold);font-weight:700;padding:2px 10px;border-radius:4px;margin:0}
.meta{margin:4px 0;color:var(--mute)}
.meta span+span:before{content:"／"}
.greet{background:var(--card);border:1px solid var(--line);border-radius:8px;padding:8px 12px;margin:8px 0}
.greet a{display:inline-flex;align-items:center;min-height:44px}
.c{text-align:center}
nav{display:flex;flex-wrap:wrap;gap:0 4px;margin:8px 0}
nav a,.find button,summary{min-height:44px;display:inline-flex;align-items:center}
nav a{padding:0 10px;color:var(--acc)}
.find{display:flex;flex-wrap:wrap;align-items:center;gap:6px;background:var(--card);border:1px solid var(--line);border-radius:8px;padding:8px 12px;margin:12px 0}
.find[hidden]{display:none}
.find input{font:inherit;min-height:44px;flex:1 1 10em;min-width:0;max-width:24em;padding:0 8px;border:1px solid var(--mute);border-radius:6px}
.find button{font:inherit;padding:0 16px;border:0;border-radius:6px;background:var(--acc);color:#fff}
.find output{flex-basis:100%;color:var(--down)}
.find output:empty{display:none}
.note{color:var(--mute);margin:4px 0}
.ms{list-style:none;margin:0;padding:0}
.m{background:var(--card);border:1px solid var(--line);border-radius:8px;margin:8px 0;padding:6px 12px}
.m:target,.m.hit{outline:3px solid var(--acc);background:#eaf1ff}
.h{display:flex;flex-wrap:wrap;align-items:baseline;gap:0 12px}
.rk{font-size:20px;font-weight:700;min-width:2.6em}
.mv{min-width:2.6em;font-weight:700}
.up{color:var(--up)}.dn{color:var(--down)}.eq{color:var(--mute)}.nw{color:var(--acc)}
.nm{font-weight:700;flex:1 1 8em}
.sc{font-weight:700;font-variant-numeric:tabular-nums}
.gp{color:var(--mute)}
.p{display:flex;flex-wrap:wrap;gap:4px;list-style:none;margin:4px 0;padding:0}
.p li{font-size:14px;border:1px solid var(--line);border-radius:4px;padding:0 6px}
.p li i,.pt{font-style:normal;color:var(--mute);margin-left:4px}
.p .x{color:var(--mute)}
.p .w{background:var(--gold);border-color:#c9a227}
.p .q{border-style:dashed;color:var(--mute)}
.p .nc{border-style:dotted}
details{margin:0}
summary{cursor:pointer;color:var(--acc)}
.box{overflow-x:auto;background:var(--card);border:1px solid var(--line);border-radius:8px}
table{border-collapse:collapse;font-variant-numeric:tabular-nums}
th,td{padding:6px 8px;border-bottom:1px solid var(--line);text-align:right;white-space:nowrap}
th{background:#e6ebf4;font-weight:700}
th:first-child,td:first-child{text-align:left}
.tl td:first-child,.tl th:first-child{position:sticky;left:0;width:3em;min-width:3em;max-width:3em;background:var(--card)}
.tl td:nth-child(2),.tl th:nth-child(2){text-align:left;position:sticky;left:3em;background:var(--card);white-space:normal}
.tl th:first-child{background:#e6ebf4}
.tn{display:inline-block;min-width:6em;max-width:10em}
.tl th:nth-child(2){background:#e6ebf4}
.tl .x{color:var(--mute)}
.dt{margin:4px 0 8px}
.dt td:first-child{white-space:normal}
.dt tr:last-child td{font-weight:700;border-bottom:0}
.tr{color:var(--mute);margin:4px 0}
svg{display:block;width:100%;max-width:520px;height:auto;background:var(--card);border:1px solid var(--line);border-radius:8px}
svg text{font-family:inherit;fill:var(--mute)}
.grid{stroke:var(--line)}
.ln{fill:none;stroke-width:2.5}
.ln.me{stroke:#000;stroke-width:4;stroke-dasharray:6 4}
.pt{fill:#fff;stroke-width:3}
.c1{stroke:#1c5bb8;background:#1c5bb8}.c2{stroke:#d0661c;background:#d0661c}.c3{stroke:#2f8f46;background:#2f8f46}.c4{stroke:#a3309c;background:#a3309c}.c5{stroke:#7a6a1a;background:#7a6a1a}.me{background:#000}
.lg{list-style:none;margin:8px 0;padding:0;display:flex;flex-wrap:wrap;gap:4px 16px}
.sw{display:inline-block;width:16px;height:4px;margin-right:6px;vertical-align:middle}
.pop{list-style:none;margin:0;padding:0}
.pop li{display:grid;grid-template-columns:minmax(6em,10em) 1fr auto;gap:8px;align-items:center;margin:4px 0}
.bar{height:14px;background:var(--acc);border-radius:3px;min-width:2px}
.rules{background:var(--card);border:1px solid var(--line);border-radius:8px;padding:4px 16px}
.rules li{margin:4px 0}
footer{color:var(--mute);padding:24px 12px}
@media print{
@page{size:A4;margin:12mm}
body{background:#fff;font-size:11pt}
nav,.find,details>summary{display:none}
details::details-content{content-visibility:visible;display:contents}
.m,.box,.greet,.rules,svg{border-color:#999;break-inside:avoid}
.box{overflow:visible}
.m:target,.m.hit{outline:0;background:none}
}
)css";

// Finding oneself, the found member's line in the chart, and every detail
// open for printing. The page reads whole without it.
inline constexpr std::string_view kScript = R"js(
(function(){
var f=document.getElementById('find'),q=document.getElementById('q'),o=document.getElementById('found');
var rows=[].slice.call(document.querySelectorAll('.ms>li'));
var svg=document.getElementById('rc'),lg=document.getElementById('lg');
function norm(s){return (s||'').normalize('NFKC').toLowerCase().replace(/\s+/g,'')}
var names=rows.map(function(r){return norm(r.querySelector('.nm').textContent)});
var last=-1,lastKey='';
function find(k){
 var i,n=names.length,from=k===lastKey?last+1:0;
 if(from===0){i=names.indexOf(k);if(i>=0)return i}
 for(var s=0;s<n;s++){i=(from+s)%n;if(names[i].indexOf(k)>=0)return i}
 return -1}
function line(r){
 if(!svg)return;
 var old=svg.querySelector('.me');if(old)old.remove();
 var li=lg&&lg.querySelector('.you');if(li)li.remove();
 var xs=svg.dataset.x.split(' '),t=+svg.dataset.t,h=+svg.dataset.h,m=Math.log(+svg.dataset.m);
 var tr=r.querySelector('.tr');if(!tr)return;
 var rs=tr.textContent.split('：')[1].split('→'),off=xs.length-rs.length,pts=[];
 rs.forEach(function(v,j){pts.push(xs[off+j]+','+(t+h*Math.log(+v)/m).toFixed(1))});
 var p=document.createElementNS(svg.namespaceURI,'polyline');
 p.setAttribute('class','ln me');p.setAttribute('points',pts.join(' '));svg.appendChild(p);
 if(lg){li=document.createElement('li');li.className='you';
  var sw=document.createElement('span');sw.className='sw me';li.appendChild(sw);
  li.appendChild(document.createTextNode(r.querySelector('.nm').textContent+'（'+r.querySelector('.rk').textContent+'）'));lg.appendChild(li)}}
function show(i){
 rows.forEach(function(r){r.classList.remove('hit')});
 var r=rows[i];r.classList.add('hit');r.focus();r.scrollIntoView({block:'center'});line(r)}
if(f){
 f.hidden=false;
 f.addEventListener('submit',function(e){
  e.preventDefault();var k=norm(q.value);if(!k)return;
  var i=find(k);lastKey=k;last=i;
  o.textContent=i<0?'「'+q.value+'」は見つかりません':'';
  if(i>=0){show(i);try{localStorage.setItem('svl-find',q.value)}catch(x){}}});
 try{var v=localStorage.getItem('svl-find');if(v){q.value=v;var i=find(norm(v));if(i>=0){rows[i].classList.add('hit');line(rows[i])}}}catch(x){}
}
window.addEventListener('beforeprint',function(){[].forEach.call(document.querySelectorAll('details'),function(d){d.open=true})});
})();
)js";

}  // namespace scorvale::phone
