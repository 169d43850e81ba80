// x rounded to the nearest whole number, or to a number of decimals
function round(x,decimals){
  if(decimals===undefined)return Math.round(x);
  var scale=Math.pow(10,decimals);
  return Math.round(x*scale)/scale;
}
